#pragma once
// A form as assistive technology sees it: a window named by its caption (Qt
// would make it an unnamed client area). Installed once the Qt application
// exists.

namespace toolkit {

void InstallFormAccessibility();

}  // namespace toolkit
