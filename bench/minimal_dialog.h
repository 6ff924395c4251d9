// Identifiers of the minimal dialog program's resources, shared with the start-up benchmark
// that drives it.
#pragma once

#define IDD_MINIMAL 100
#define IDD_MINIMAL_SECOND 101
#define IDC_MINIMAL_OPEN 1000
