// Resource identifiers of the launcher, shared by the .rc file and the code.
#pragma once

#define IDI_KVSETUPX 101
#define IDD_KVSETUPX 102
#define IDR_PRODUCTMENU 103
#define IDD_WAIT 104

#define IDC_WAIT_TEXT 1000

#define IDC_INSTALL 3001
#define IDC_PROGRESS 3002
#define IDC_BROWSE 3003
#define IDC_MANUAL 3004
#define IDC_SUPPORT 3005
#define IDC_STATUS 3007
#define IDC_BACKGROUND 3008
#define IDC_EXIT 40006

// Product i (from 0) of the product menu is command ID_PRODUCT_FIRST + i.
#define ID_PRODUCT_FIRST 261
#define ID_PRODUCT_LAST 277
