// Resource ids of Tavrelo, shared by the resource script and the game.
#pragma once

#define IDI_TAVRELO 101
#define IDR_MAINMENU 102
#define IDD_ABOUTBOX 106
#define IDD_SPLASH 107
#define IDD_NAME 115
#define IDD_HIGHSCORE 116
#define IDC_POINTER 104
#define IDR_ACCELERATORS 104

#define IDC_STATIC -1  // controls the program never addresses (not in every compiler's headers)
#define IDC_CREDITS 1002
#define IDC_NAME 1002
#define IDC_CLEAR 1005

#define IDS_TITLE 1
#define IDS_EXIT_CONFIRM 2
#define IDS_STAGE_PASSED 3
#define IDS_GAME_PASSED 4
#define IDS_GAME_FAILED 5
#define IDS_CLEAR_CONFIRM 6
#define IDS_CREDITS 7
#define IDS_LEVEL_CONFIRM 8
#define IDS_STATUS_FORMAT 9

#define ID_GAME_NEW 40001
#define ID_GAME_HIGHSCORE 40003
#define ID_GAME_EXIT 40004
#define ID_MODE_SINGLE 40005
#define ID_MODE_TIME 40006
#define ID_MODE_VS 40007
#define ID_OPTION_EASY 40009
#define ID_OPTION_MEDIUM 40010
#define ID_OPTION_DIFFICULT 40011
#define ID_HELP_HOWTO 40013
#define ID_HELP_ABOUT 40014
#define ID_GAME_SHOWMEOUT 40017
