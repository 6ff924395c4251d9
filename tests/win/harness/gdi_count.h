// Counting the live GDI objects of the test process, where GetGuiResources is not available
// (Wine answers 0).
#pragma once

// The number of live GDI objects of this process, read from the process's GDI shared handle
// table; -1 when the table cannot be found.
int CountGdiObjects();
