#ifndef QUELLERY_RESOURCE_H
#define QUELLERY_RESOURCE_H

/* Icons */
#define IDI_APP 1

/* The settings tree's pictures, in image-list order: tree icon n is IDI_TREE_FIRST + n - 1 */
#define IDI_TREE_FIRST 101
#define IDI_TREE_MAIN 101
#define IDI_TREE_SETTINGS 102
#define IDI_TREE_WINDOWS 103
#define IDI_TREE_BROWSER 104
#define IDI_TREE_IE 105
#define IDI_TREE_NETSCAPE 106
#define IDI_TREE_OPERA 107
#define IDI_TREE_SCHEDULE 108
#define IDI_TREE_UPGRADE 109
#define IDI_TREE_HELP 110
#define IDI_TREE_RUN 111
#define IDI_TREE_SHREDDER 112
#define IDI_TREE_HARDWARE 113
#define TREE_ICON_COUNT 13

#endif
