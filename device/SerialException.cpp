#include "SerialException.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "SerialOs.h"

BOOL CSerialException::GetErrorText(char* buffer, UINT size, UINT* helpContext) const
{
    if (helpContext != nullptr)
        *helpContext = 0;
    if (buffer == nullptr || size < 1)
        return FALSE;

    const std::string text = SystemSerialOs().ErrorText(m_dwErrorCode);
    if (text.empty()) {
        buffer[0] = '\0';
        return FALSE;
    }
    const std::size_t count = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return TRUE;
}

void RaiseSerialError(DWORD code)
{
    if (code == 0)
        code = SystemSerialOs().LastError();
    throw CSerialException(code);
}
