/* Numeric resource IDs, shared by quadrivista.rc and the C++ code.
   Plain #defines only, so that the resource compiler can read this file. */
#ifndef QUADRIVISTA_RESOURCE_IDS_H
#define QUADRIVISTA_RESOURCE_IDS_H

/* The application icon has the lowest icon ID: Explorer shows the first one. */
#define IDI_APP 1

/* Tray images in image-list order: for desktop n (1-based) the normal image
   is IDI_DESKTOP_BASE + (n - 1) * 2 and the current one follows it, so
   image-list index i is resource IDI_DESKTOP_BASE + i. */
#define IDI_DESKTOP_BASE 100
#define IDI_DESKTOP1 100
#define IDI_DESKTOP1_CURRENT 101
#define IDI_DESKTOP2 102
#define IDI_DESKTOP2_CURRENT 103
#define IDI_DESKTOP3 104
#define IDI_DESKTOP3_CURRENT 105
#define IDI_DESKTOP4 106
#define IDI_DESKTOP4_CURRENT 107
#define IDI_DESKTOP5 108
#define IDI_DESKTOP5_CURRENT 109
#define IDI_DESKTOP6 110
#define IDI_DESKTOP6_CURRENT 111
#define IDI_DESKTOP_IMAGE_COUNT 12

/* Flags of the language page, in its row order: english, spanish, italian,
   portugues, german, french. */
#define IDI_FLAG_BASE 200
#define IDI_FLAG_ENGLISH 200
#define IDI_FLAG_SPANISH 201
#define IDI_FLAG_ITALIAN 202
#define IDI_FLAG_PORTUGUES 203
#define IDI_FLAG_GERMAN 204
#define IDI_FLAG_FRENCH 205
#define IDI_FLAG_COUNT 6

/* The looks of the 3D cube on its appearance page, in the order of the
   CubeAppearance values: the closed cube, the faces standing apart. */
#define IDI_CUBE_LOOK_BASE 210
#define IDI_CUBE_PLAIN 210
#define IDI_CUBE_APART 211
#define IDI_CUBE_LOOK_COUNT 2

#endif
