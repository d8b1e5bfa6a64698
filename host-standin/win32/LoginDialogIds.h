#pragma once

// The login dialog's resource and control numbers, shared with its template.
#define IDD_LOGIN 100
#define IDC_LOGIN_INTRO 101
#define IDC_LOGIN_NAME 102
#define IDC_LOGIN_PASSWORD 103
