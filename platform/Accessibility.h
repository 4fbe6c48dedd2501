#pragma once
// Our widgets as assistive technology sees them: a form is a window named by
// its caption (Qt would make it an unnamed client area), and a chart is
// described by ChartAccessible. Installed once the Qt application exists.

void InstallAccessibility();
