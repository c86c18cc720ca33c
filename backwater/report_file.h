// The report file of a backwater computation: its name, the test that never
// touches an existing file, its creation and its bytes.
//
// The report is single-byte Windows-1252 text with CR LF line ends, no
// byte-order mark and no line end after its last line. It is written through
// a binary stream and every line end is written as CR LF here, so the bytes
// are the same on every platform.
#pragma once

#include <cstdio>

#include "backwater/backwater.h"

// Longest report name: 49 characters of field text, ".txt" and the NUL.
constexpr int REPORT_NAME_SIZE = 49 + 4 + 1;

struct ReportStream {
    std::FILE* file;
    char name[REPORT_NAME_SIZE];
};

enum class CreateOutcome {
    Created,
    NameTaken,     // a file of that name appeared since the existence test
    CannotCreate,  // a directory, a missing folder, a forbidden name ...
};

// The field text followed by ".txt" (always appended; an empty text gives ".txt").
void composeReportName(const char* fieldText, char (&name)[REPORT_NAME_SIZE]);

// Whether `name` can be opened for reading as a regular file. A directory or
// a device does not count, nor does anything that cannot be opened.
bool reportFileExists(const char* name);

// Whether Windows would take `name` for an ordinary file: no colon but that of
// a drive letter at its start (another colon names a hidden alternate data
// stream of a file), and no device name (CON, PRN, AUX, NUL, COM1 to COM9,
// LPT1 to LPT9, CONIN$, CONOUT$, in any case, with or without an extension)
// as its last component. Written for Windows, testable everywhere.
bool windowsReportNameAllowed(const char* name);

// Creates the file `name` for writing in binary, exclusively: an existing
// file is never opened. The same rules as for the report apply on Windows.
CreateOutcome createNewFile(const char* name, std::FILE*& file);

// Creates the file `name` for writing, exclusively: an existing file is never
// opened, so it cannot be emptied. On Windows a name that
// windowsReportNameAllowed refuses, or one that opens anything but a disk
// file, cannot be created.
CreateOutcome createReportFile(const char* name, ReportStream& stream);

// Writes the inputs, the results, the length line, the explanations and one
// row per profile.
void writeReportBody(ReportStream& stream, const BackwaterInput& in, const BackwaterResult& r);

// Whether everything written so far has reached the file.
bool reportWritten(ReportStream& stream);

// Writes the closing lines and closes the file; false when anything of the
// report failed to reach the file.
bool finishReportFile(ReportStream& stream);

// Closes the stream and removes its incomplete file.
void discardReportFile(ReportStream& stream);
