// The list the check list is built on.
#pragma once

#include "StdCtrls.h"

using TSkCheckListBase = TListBox;
