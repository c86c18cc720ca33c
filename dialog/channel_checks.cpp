#include "dialog/channel_checks.h"

bool readBankSlopes(FieldReader& r, int mControl, int nControl, double& m, double& n) {
    m = r.decimal(mControl);
    if (!(m >= 0.0 && m <= BANK_SLOPE_MAX)) return r.refuse(CHECK_M);
    n = r.decimal(nControl);
    if (!(n >= 0.0 && n <= BANK_SLOPE_MAX)) return r.refuse(CHECK_N);
    return true;
}

bool readRoughnessAndSlope(FieldReader& r, int kstControl, int isoControl, double& kst, double& Iso) {
    kst = r.decimal(kstControl);
    if (!(kst > 0.0 && kst <= KST_MAX)) return r.refuse(CHECK_KST);
    if (kst > KST_HIGH) r.warn(WARN_KST_HIGH);
    Iso = r.decimal(isoControl);
    if (!(Iso > 0.0 && Iso <= ISO_MAX)) return r.refuse(CHECK_ISO);
    if (Iso > ISO_HIGH) r.warn(WARN_ISO_HIGH);
    return true;
}
