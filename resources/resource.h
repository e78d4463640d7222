// Resource ids of the program. Numbered texts use their own numbers (from 101)
// as string ids; the ids below name the other resources.
#pragma once

#define IDB_SCROLL 1001      /* picture of the start window */
#define IDI_NOMARO 1         /* program icon */
#define IDB_MENU_OPEN 101    /* menu picture: open a list */
#define IDB_MENU_SAVE 102    /* menu picture: save */
#define IDB_MENU_NEW 103     /* menu picture: new empty list */
#define IDB_MENU_PRINTER 104 /* menu picture: printer setup */
#define IDB_MENU_UNDO 105    /* menu picture: undo */
#define IDB_MENU_REDO 106    /* menu picture: redo */
#define IDB_MENU_COPY 107    /* menu picture: copy */
#define IDB_MENU_CUT 108     /* menu picture: cut */
#define IDB_MENU_PASTE 109   /* menu picture: paste */
#define IDB_MENU_HELP 110    /* menu picture: help topic */
#define IDB_MENU_SEARCH 111  /* menu picture: search through the folders */
#define IDB_MENU_VIEW 112    /* menu picture: view pictures */
#define IDB_MENU_ABOUT 113   /* menu picture: About box */
#define IDB_MENU_EXIT 114    /* menu picture: exit */
#define IDB_RENAME_IMAGE1 1002  /* rename window decoration */
#define IDB_RENAME_IMAGE2 1003  /* the same, under the mouse */
#define IDB_LIST_TOOLBAR 1004   /* list window toolbar: 8 buttons of 16 x 16, magenta key */
#define IDB_LIST_IMAGE1 1005    /* list window decoration */
#define IDB_LIST_IMAGE2 1006    /* the same, under the mouse */
