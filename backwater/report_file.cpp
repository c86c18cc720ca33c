#include "backwater/report_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <charconv>
#include <cstdarg>
#include <cstring>
#include <initializer_list>

#include "backwater/fixed_format.h"
#include "core/section.h"

#ifndef O_BINARY
#define O_BINARY 0
#endif
#ifndef O_NONBLOCK
#define O_NONBLOCK 0
#endif

namespace {

// Formats one write of the report and puts it out with every "\n" as CR LF.
// The longest write, a profile row of eight numbers near the limit of a
// double, takes well under 4 KB.
__attribute__((format(printf, 2, 3))) void put(ReportStream& stream, const char* format, ...) {
    char text[4096];
    std::va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (length < 0) return;
    const std::size_t size = length < static_cast<int>(sizeof text) ? static_cast<std::size_t>(length) : sizeof text - 1;
    const char* start = text;
    const char* end = text + size;
    for (const char* p = start; p != end; ++p) {
        if (*p == '\n') {
            std::fwrite(start, 1, static_cast<std::size_t>(p - start), stream.file);
            std::fwrite("\r\n", 1, 2, stream.file);
            start = p + 1;
        }
    }
    std::fwrite(start, 1, static_cast<std::size_t>(end - start), stream.file);
}

// Appends value as printf's "%<width>.<precision>f" writes it.
char* appendFixed(char* out, char* end, double value, int width, int precision) {
    char digits[FIXED_TEXT_SIZE];
    const int length = formatFixed(value, precision, digits);
    for (int pad = width - length; pad > 0 && out < end; --pad) *out++ = ' ';
    for (int i = 0; i < length && out < end; ++i) *out++ = digits[i];
    return out;
}

char* appendText(char* out, char* end, const char* text) {
    while (*text != '\0' && out < end) *out++ = *text++;
    return out;
}

// One profile row, "\r\nh%3d: \t%7.1f \t%5.2f \t %5.2f \t %5.1f \t %5.1f \t %5.2f \t %5.3f".
void putProfileRow(ReportStream& f, int i, double dist, double h, double wsp, double A, double U, double R,
                   double v) {
    char line[4096];
    char* const end = line + sizeof line;
    char* out = line;
    char number[16];
    char* const numberEnd = std::to_chars(number, number + sizeof number, i).ptr;
    out = appendText(out, end, "\r\nh");
    for (std::ptrdiff_t pad = 3 - (numberEnd - number); pad > 0 && out < end; --pad) *out++ = ' ';  // "%3d"
    for (const char* p = number; p != numberEnd && out < end; ++p) *out++ = *p;
    out = appendText(out, end, ": \t");
    out = appendFixed(out, end, dist, 7, 1);
    out = appendText(out, end, " \t");
    out = appendFixed(out, end, h, 5, 2);
    out = appendText(out, end, " \t ");
    out = appendFixed(out, end, wsp, 5, 2);
    out = appendText(out, end, " \t ");
    out = appendFixed(out, end, A, 5, 1);
    out = appendText(out, end, " \t ");
    out = appendFixed(out, end, U, 5, 1);
    out = appendText(out, end, " \t ");
    out = appendFixed(out, end, R, 5, 2);
    out = appendText(out, end, " \t ");
    out = appendFixed(out, end, v, 5, 3);
    std::fwrite(line, 1, static_cast<std::size_t>(out - line), f.file);
}

bool isDirectory(const char* name) {
    struct stat st;
    return stat(name, &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

namespace {

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Whether the stem (the last component up to its first '.', without trailing
// spaces, which Windows ignores there) is a device name.
bool isDeviceStem(const char* stem, std::size_t length) {
    while (length > 0 && stem[length - 1] == ' ') --length;
    char word[8] = {};
    if (length == 0 || length > 7) return false;
    for (std::size_t i = 0; i < length; ++i) word[i] = upper(stem[i]);
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (std::strcmp(word, device) == 0) return true;
    }
    return length == 4 && (std::strncmp(word, "COM", 3) == 0 || std::strncmp(word, "LPT", 3) == 0) &&
           word[3] >= '1' && word[3] <= '9';
}

}  // namespace

bool windowsReportNameAllowed(const char* name) {
    const char* component = name;
    for (const char* p = name; *p != '\0'; ++p) {
        if (*p == ':' && !(p == name + 1 && isLetter(name[0]))) return false;
        if (*p == '/' || *p == '\\' || *p == ':') component = p + 1;
    }
    const char* dot = std::strchr(component, '.');
    const std::size_t stemLength = dot != nullptr ? static_cast<std::size_t>(dot - component) : std::strlen(component);
    return !isDeviceStem(component, stemLength);
}

void composeReportName(const char* fieldText, char (&name)[REPORT_NAME_SIZE]) {
    std::snprintf(name, REPORT_NAME_SIZE, "%.49s.txt", fieldText);
}

bool reportFileExists(const char* name) {
#ifdef _WIN32
    // A device opens for reading like a file (NUL, COM1, ...); such a name
    // is no report, and its creation is refused later.
    if (!windowsReportNameAllowed(name)) return false;
#endif
    // Opened without blocking, so that a named pipe cannot stall the program.
    const int fd = open(name, O_RDONLY | O_BINARY | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat st;
    const bool isFile = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    close(fd);
    return isFile;
}

CreateOutcome createNewFile(const char* name, std::FILE*& file) {
    file = nullptr;
#ifdef _WIN32
    if (!windowsReportNameAllowed(name)) return CreateOutcome::CannotCreate;
#endif
    const int fd = open(name, O_WRONLY | O_CREAT | O_EXCL | O_BINARY, 0666);
    if (fd < 0) {
        return errno == EEXIST && !isDirectory(name) ? CreateOutcome::NameTaken : CreateOutcome::CannotCreate;
    }
#ifdef _WIN32
    // Whatever the name, the output must land in a file on a disk, not in a
    // device that swallows it.
    if (GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(fd))) != FILE_TYPE_DISK) {
        close(fd);
        return CreateOutcome::CannotCreate;
    }
#endif
    file = fdopen(fd, "wb");
    if (file == nullptr) {
        close(fd);
        std::remove(name);
        return CreateOutcome::CannotCreate;
    }
    return CreateOutcome::Created;
}

CreateOutcome createReportFile(const char* name, ReportStream& stream) {
    std::snprintf(stream.name, REPORT_NAME_SIZE, "%s", name);
    return createNewFile(name, stream.file);
}

void writeReportBody(ReportStream& f, const BackwaterInput& in, const BackwaterResult& r) {
    put(f, "Eingegebene Daten: ");
    put(f, "\n\nbso: %.2f[m] \t\tm: %.2f[-] \t\tn: %.2f[-] \t\tQ: %.2f[m^3/s]", in.section.bso, in.section.m,
        in.section.n, in.Q);
    put(f, "\nkst: %.2f[m^(1/3)/s] \tIso: %.5f[-] \tbeta: %.3f[-] \t\tl: %.2f[m]", in.kst, in.Iso, in.beta, in.l);
    put(f, "\nhu: %.2f[m] \t\twsp: %.2f[m] \t\tPa: %i[-]", in.hu, in.wsp, static_cast<int>(in.Pa));
    put(f, "\n\nBerechnete Daten: ");
    put(f, "\n\nhn: \t %.3f[m]", r.hn);
    put(f, "\nAn: \t %.3f[m^2]", r.An);
    put(f, "\nUn: \t %.3f[m]", r.Un);
    put(f, "\nRn: \t %.3f[m]", r.Rn);
    put(f, "\nvn: \t %.3f[m/s]", r.vn);
    put(f, "\nhEn: \t %.3f[m]", r.hEn);
    put(f, "\nhgr: \t %.3f[m]", r.hgr);
    put(f, "\nhemin: \t %.3f[m]", r.hemin);
    put(f, "\nFr: \t %.3f[-]\n", r.Fr);
    switch (r.kind) {
        case LengthKind::Backwater: put(f, "\n\nStauweite: \t %10d[m]\n", static_cast<int>(r.length)); break;
        case LengthKind::Drawdown: put(f, "\n\nSenkungsweite: \t %10d[m]\n", static_cast<int>(r.length)); break;
        case LengthKind::None: put(f, "Kein R\xFC" "ckstau bzw. Senkung"); break;  // 0xFC: u umlaut in Windows-1252
    }
    put(f, "\n\nErlaeuterungen zu den verwendeten Variablen:");
    put(f, "\nhn: Wassertiefe, An: Benetzte Flaeche, Un: Benetzter Umfang,");
    put(f, "\nRn: Hydraulischer Radius, vn:Fliessgeschwindigkeit, hEn: Energiehoehe,");
    put(f, "\nhgr: Grenzabflusstiefe, hemin: Mindestenergiehoehe, Fr: Frouds Zahl\n");
    put(f, "\nProfil \t dist\t \t hp \t wsp \t\t A \t U \t R \t v\n");
    put(f, "\n[-]\t[m]\t\t[m]\t[m]\t\t[m^2]\t[m]\t[m]\t[m/s]\n");

    const TrapezoidSection s = in.section;
    for (int i = 0; i < r.profiles.count; ++i) {
        const double h = r.profiles.hp[i];
        const double A = wettedArea(s, h);
        putProfileRow(f, i, i * in.l, h, r.profiles.wsp[i], A, wettedPerimeter(s, h), hydraulicRadius(s, h),
                      in.Q / A);
    }
}

bool reportWritten(ReportStream& stream) {
    return std::fflush(stream.file) == 0 && !std::ferror(stream.file);
}

bool finishReportFile(ReportStream& f) {
    put(f, "\n\nPelvarin 1.0");
    put(f, "\nStau- und Senkungsweite im prismatischen Trapezgerinne");
    put(f, "\nWasserspiegellage nach dem Standard-Step-Verfahren");
    const bool written = reportWritten(f);
    const bool closed = std::fclose(f.file) == 0;
    f.file = nullptr;
    return written && closed;
}

void discardReportFile(ReportStream& stream) {
    if (stream.file != nullptr) std::fclose(stream.file);
    stream.file = nullptr;
    std::remove(stream.name);
}
