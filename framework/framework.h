// The dialog framework of the program, in one include.
#pragma once

#include "framework/app.h"
#include "framework/controls.h"
#include "framework/cstring.h"
#include "framework/ddx.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "framework/wnd.h"
