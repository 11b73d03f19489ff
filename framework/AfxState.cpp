#include "AfxState.h"

namespace {
AfxState g_state;
} // namespace

AfxState& AfxGetState()
{
    return g_state;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_state.hInstance ? g_state.hInstance : ::GetModuleHandleW(NULL);
}
