/* The fields of the Pelvarin dialog. The identifiers are plain #defines, so
   that the resource script uses them too; the table pairs each field with
   its name. */
#ifndef PELVARIN_FIELDS_H
#define PELVARIN_FIELDS_H

#define IDD_PELVARIN 101
#define IDI_PELVARIN 102

#define IDC_ISO 1000
#define IDC_BSO 1001
#define IDC_M 1002
#define IDC_N 1003
#define IDC_Q 1004
#define IDC_WSP 1005
#define IDC_BETA 1006
#define IDC_L 1007
#define IDC_HU 1008
#define IDC_PA 1009
#define IDC_KST 1010
#define IDC_FILE 1011

#define IDC_CALCULATE 1012
#define IDC_QUIT 1013

#ifndef RC_INVOKED
#include "dialog/field_table.h"

/* In the order of the console program's usage text. */
inline constexpr Field PELVARIN_FIELD_LIST[] = {
    {"bso", IDC_BSO, FieldRole::Input},   {"m", IDC_M, FieldRole::Input},     {"n", IDC_N, FieldRole::Input},
    {"Q", IDC_Q, FieldRole::Input},       {"kst", IDC_KST, FieldRole::Input}, {"Iso", IDC_ISO, FieldRole::Input},
    {"beta", IDC_BETA, FieldRole::Input}, {"l", IDC_L, FieldRole::Input},     {"hu", IDC_HU, FieldRole::Input},
    {"wsp", IDC_WSP, FieldRole::Input},   {"Pa", IDC_PA, FieldRole::Input},   {"file", IDC_FILE, FieldRole::Input},
};
inline constexpr FieldTable PELVARIN_FIELDS = fieldTable(PELVARIN_FIELD_LIST);
#endif

#endif
