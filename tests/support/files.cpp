#include "support/files.h"

#include <stdio.h>

std::string strReadFile(const std::string& strPath)
{
    std::string str;
    FILE* pFile = fopen(strPath.c_str(), "rb");
    if (pFile == NULL)
        return str;
    char szBuffer[4096];
    size_t n;
    while ((n = fread(szBuffer, 1, sizeof(szBuffer), pFile)) > 0)
        str.append(szBuffer, n);
    fclose(pFile);
    return str;
}

bool bWriteFile(const std::string& strPath, const std::string& strBytes)
{
    FILE* pFile = fopen(strPath.c_str(), "wb");
    if (pFile == NULL)
        return false;
    bool bOk = fwrite(strBytes.data(), 1, strBytes.size(), pFile) == strBytes.size();
    return fclose(pFile) == 0 && bOk;
}
