// Every test of this program starts KVOmail.exe with its windows out of a window manager's hands:
// the test display has none, and a managed window's every hide would wait two seconds for it.
#include <gtest/gtest.h>

#include "ProgramFiles.h"

namespace {
class CUnmanagedWindows : public ::testing::Environment {
public:
    void SetUp() override { SetProgramWindowsManaged(false); }
    void TearDown() override { SetProgramWindowsManaged(true); }
};

const ::testing::Environment* const g_pUnmanaged =
    ::testing::AddGlobalTestEnvironment(new CUnmanagedWindows);
} // namespace
