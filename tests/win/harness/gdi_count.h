// Counting the live GDI objects of the test process, where GetGuiResources is not available
// (Wine answers 0).
#pragma once

// The number of live GDI objects of this process, read from the process's GDI shared handle
// table. When the table cannot be found (-1) or holds nothing, the running test fails.
int CountGdiObjects();
