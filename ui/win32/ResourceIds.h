#pragma once
// Resource numbers of tarrowin.exe. The program file's own icon, manifest and
// version record are number 1 of their kinds (tarrowin.rc).

#define IDI_PROGRESS_WINDOW 10    // document page: the progress window's icon
#define IDI_OPTIONS_WINDOW 1      // the gear: the dialog's icon and the file's own
#define IDC_ICON_BOX_HAND 20      // pointer over the progress window's icon box
#define IDP_BUILTIN_ICON_0 100    // RCDATA 100 to 106: the built-in icons 0 to 6
#define IDP_BUILTIN_ICON_2X_0 120 // RCDATA 120 to 126: the same at 64 x 64, from 125 %
#define IDP_BUILTIN_ICON_3X_0 130 // RCDATA 130 to 136: the same at 96 x 96, from 225 %
#define IDP_LOGO_BANNER 110       // RCDATA: the dialog's logo
#define IDP_LOGO_HAND 111         // RCDATA: pointer over the logo (an icon file)
#define IDP_BROWSE_PICTURE 112    // RCDATA: the browse button's GIF
#define IDP_LOGO_BANNER_2X 113    // RCDATA: the logo at 444 x 100, from 125 %
#define IDP_BROWSE_PICTURE_2X 114 // RCDATA: the browse picture at 32 x 32, likewise
#define IDC_LOGO_HAND 21          // pointer over the logo, at the sizes pointers take
