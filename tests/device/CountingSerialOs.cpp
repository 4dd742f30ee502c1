#include "CountingSerialOs.h"

HANDLE CountingSerialOs::OpenPort(const char* path)
{
    const HANDLE h = m_inner.OpenPort(path);
    if (h != INVALID_HANDLE_VALUE)
        ++opens;
    return h;
}

void CountingSerialOs::ClosePort(HANDLE p)
{
    ++closes;
    m_inner.ClosePort(p);
}
