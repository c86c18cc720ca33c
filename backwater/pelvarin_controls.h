/* Control identifiers of the Pelvarin dialog, shared by the resource script
   and the code. Plain #defines so that the resource compiler can read them. */
#ifndef PELVARIN_CONTROLS_H
#define PELVARIN_CONTROLS_H

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

#endif
