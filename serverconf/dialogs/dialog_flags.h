#pragma once
// Window flags of the operation dialogs: a caption without a system menu,
// so they have no close box and are left by their own buttons or Escape.

#include <Qt>

namespace serverconf {

inline Qt::WindowFlags captionOnlyDialogFlags() { return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint; }

}  // namespace serverconf
