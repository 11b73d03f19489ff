#include "AfxState.h"

namespace {
AfxState g_state;
} // namespace

AfxState& AfxGetState()
{
    return g_state;
}
