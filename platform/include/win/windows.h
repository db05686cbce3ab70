// The whole platform API in one include, as the library's sources expect it.
#pragma once

#include <win/types.h>
#include <win/sync.h>
#include <win/error.h>
#include <win/codepage.h>
#include <win/crt.h>
#include <win/thread.h>
#include <win/time.h>
#include <win/ntdll.h>
#include <win/module.h>
#include <win/format_message.h>
#include <win/file.h>
#include <win/locale.h>
#include <win/resource.h>
#include <win/gdi.h>
#include <win/text.h>
#include <win/messages.h>
#include <win/user.h>
#include <win/controls.h>
#include <win/menu.h>
#include <win/msgbox.h>
#include <win/environment.h>
