#ifndef QUELLERY_RESOURCE_H
#define QUELLERY_RESOURCE_H

/* Icons */
#define IDI_APP 1

/* The settings tree's pictures: one strip of 16x16 pictures in image-list order
   (scripts/make-tree-icons.py draws it) */
#define IDB_TREE_ICONS 101
#define TREE_ICON_COUNT 13

#endif
