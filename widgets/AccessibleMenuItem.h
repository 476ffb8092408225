#pragma once

namespace rotenu {

// A menu item whose caption reads as nothing (a blank) can carry its accessible name in the
// dynamic property "accessibleName" of its QAction; screen readers then read that name while
// the menu keeps showing the caption. Installs the accessibility factory that does it; once is
// enough, more calls do nothing.
void InstallAccessibleMenuItemNames();

} // namespace rotenu
