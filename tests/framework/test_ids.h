#pragma once
/* Ids of the test resources (shared with the resource script). */
#define IDD_EXCHANGE 200
#define IDC_NAME 1001
#define IDC_PERCENT 1002
#define IDC_ENABLED 1003
#define IDC_RADIO_FIRST 1004
#define IDC_RADIO_SECOND 1005
#define IDC_RADIO_THIRD 1006
#define IDC_PUSH 1007
#define IDR_TESTFRAME 300
#define ID_TEST_HANDLED 40001
#define ID_TEST_UNHANDLED 40002
#define ID_TEST_DISABLED 40003
#define ID_TEST_CHECKED 40004
#define ID_TEST_VIEWONLY 40005
#define ID_TEST_DOCONLY 40006
#define IDS_GREETING 500
#define IDS_FORMAT 501
