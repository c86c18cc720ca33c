/* The fields of the Quostel dialog. The identifiers are plain #defines, so
   that the resource script uses them too; the table pairs each field with
   its name. */
#ifndef QUOSTEL_FIELDS_H
#define QUOSTEL_FIELDS_H

#define IDD_QUOSTEL 107
#define IDI_QUOSTEL 101

#define IDC_BSO 1000
#define IDC_M 1001
#define IDC_N 1002
#define IDC_ISO 1003
#define IDC_KST 1004
#define IDC_H 1005

#define IDC_V 1006
#define IDC_Q 1007
#define IDC_HE 1008
#define IDC_HGR 1009
#define IDC_HEM 1010
#define IDC_FR 1011
#define IDC_A 1012
#define IDC_U 1013
#define IDC_R 1014
#define IDC_K 1015
#define IDC_HP 1016

/* console only: a given discharge, from which the depth is found */
#define IDC_Q_GIVEN 1100

/* buttons: Quit is the dialog's cancel command, so Escape closes it too */
#define IDC_CALCULATE 1018
#define IDC_QUIT 2

#ifndef RC_INVOKED
#include "dialog/field_table.h"

/* Inputs in the order of the console program's usage text, then results,
   then the console's given discharge. */
inline constexpr Field QUOSTEL_FIELD_LIST[] = {
    {"bso", IDC_BSO, FieldRole::Input},  {"m", IDC_M, FieldRole::Input},      {"n", IDC_N, FieldRole::Input},
    {"Iso", IDC_ISO, FieldRole::Input},  {"kst", IDC_KST, FieldRole::Input},  {"h", IDC_H, FieldRole::Input},
    {"v", IDC_V, FieldRole::Result},     {"Q", IDC_Q, FieldRole::Result},     {"hE", IDC_HE, FieldRole::Result},
    {"hgr", IDC_HGR, FieldRole::Result}, {"hEm", IDC_HEM, FieldRole::Result}, {"Fr", IDC_FR, FieldRole::Result},
    {"A", IDC_A, FieldRole::Result},     {"U", IDC_U, FieldRole::Result},     {"R", IDC_R, FieldRole::Result},
    {"k", IDC_K, FieldRole::Result},     {"hp", IDC_HP, FieldRole::Result},
    {"Q", IDC_Q_GIVEN, FieldRole::Input},  // console only, in place of h
};
inline constexpr FieldTable QUOSTEL_FIELDS = fieldTable(QUOSTEL_FIELD_LIST);
#endif

#endif
