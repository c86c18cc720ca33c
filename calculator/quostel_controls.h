/* Control identifiers of the Quostel dialog, shared by the resource script
   and the code. Plain #defines so that the resource compiler can read them. */
#ifndef QUOSTEL_CONTROLS_H
#define QUOSTEL_CONTROLS_H

#define IDD_QUOSTEL 107
#define IDI_QUOSTEL 101

/* inputs */
#define IDC_BSO 1000
#define IDC_M 1001
#define IDC_N 1002
#define IDC_ISO 1003
#define IDC_KST 1004
#define IDC_H 1005

/* results */
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

/* buttons: Quit is the dialog's cancel command, so Escape closes it too */
#define IDC_CALCULATE 1018
#define IDC_QUIT 2

#endif
