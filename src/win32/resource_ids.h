// Identifiers of the window's resources, shared by the dialog template
// (korvanta.rc) and the code. Plain macros: the resource compiler reads them.
#pragma once

#define IDI_KORVANTA 1
#define IDD_MAIN_WINDOW 100

#define IDC_STATUS_LINE 1000
#define IDC_GO 1001
#define IDC_RUNWAY_LABEL 1002
#define IDC_RUNWAY 1003
#define IDC_CONVERT 1004
#define IDC_MODIFY_RUNWAY_PROMPT 1005
#define IDC_SIMULATOR_GROUP 1006
#define IDC_SIMULATOR_FS9 1007
#define IDC_SIMULATOR_FSX 1008
#define IDC_SIMULATOR_XPLANE 1009
#define IDC_SUPER80 1011
#define IDC_PLAN_NUMBER_LABEL 1012
#define IDC_PLAN_NUMBER 1013
#define IDC_PLAN_NUMBER_SPIN 1014
#define IDC_LOAD_PROGRESS 1024
#define IDC_WAYPOINTS 1025
#define IDC_FOLDERS 1026
#define IDC_ROUTE_STRING 1027
#define IDC_COPY 1028
// The route's map beside the grid, created by the window.
#define IDC_MAP 1029
// The targets' tick boxes, created by the window from the target table:
// IDC_TARGET_FIRST + the target's index.
#define IDC_TARGET_FIRST 1100

// The Folders dialog: OK, Cancel and the lines, which the dialog creates from
// the folder settings (IDC_FOLDER_LINE_FIRST + line * 5 + part).
#define IDD_FOLDERS 200
#define IDC_FOLDER_LINE_FIRST 2000
