#pragma once
// The erasure, lookup, search and registry primitives every cleaning operation uses.
#include "erase/ActivityLog.h"
#include "erase/EraseFiles.h"
#include "erase/EraseFolder.h"
#include "erase/FindByName.h"
#include "erase/FolderPaths.h"
#include "erase/PathChecks.h"
#include "erase/RegValues.h"
#include "erase/ShellFolderPaths.h"
