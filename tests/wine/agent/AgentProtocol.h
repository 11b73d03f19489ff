// The test agent's protocol. The agent is a DLL that the tests put into the
// running Pelorin.exe through a message hook, so that it runs in the
// program's own user-interface thread. The tests write a request into a
// shared block and post the agent's message to that thread; the agent
// carries the request out when the program's message loop takes the message
// (whichever loop runs: the dialog's, a message box's, a picker's), waits
// until everything posted to the thread before it has been handled too, and
// answers in the same block.
#pragma once

#include <windows.h>
#include <stdio.h>

#define PELORIN_AGENT_MESSAGE "PelorinTestAgent"
#define PELORIN_AGENT_HOOK "AgentHook"

struct AgentBlock
{
    volatile LONG request;    // the number of the request now in text
    volatile LONG answered;   // the number of the last request answered
    DWORD size;               // bytes in text: request (command, zero byte, data), then reply
    char text[1 << 20];
};

// The names of the block and of the event that is set on each answer,
// for the program's process.
inline void AgentObjectNames(DWORD pid, char (&block)[64], char (&event)[64])
{
    sprintf(block, "Local\\PelorinAgentBlock-%lu", (unsigned long)pid);
    sprintf(event, "Local\\PelorinAgentAnswer-%lu", (unsigned long)pid);
}
