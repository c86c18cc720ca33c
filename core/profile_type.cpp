#include "core/profile_type.h"

ProfileType profileType(double hn, double hb, double hu) {
    if (hu == hn) return ProfileType::None;
    if (hn > hb) {
        if (hu > hn) return ProfileType::M1;
        return hu >= hb ? ProfileType::M2 : ProfileType::M3;
    }
    if (hn < hb) {
        if (hu > hb) return ProfileType::S1;
        return hu >= hn ? ProfileType::S2 : ProfileType::S3;
    }
    return hu > hn ? ProfileType::C1 : ProfileType::C3;
}

const char* profileTypeName(ProfileType type) {
    switch (type) {
        case ProfileType::None: return "-";
        case ProfileType::M1: return "M1";
        case ProfileType::M2: return "M2";
        case ProfileType::M3: return "M3";
        case ProfileType::S1: return "S1";
        case ProfileType::S2: return "S2";
        case ProfileType::S3: return "S3";
        case ProfileType::C1: return "C1";
        case ProfileType::C3: return "C3";
    }
    return "-";
}
