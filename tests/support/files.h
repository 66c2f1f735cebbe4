// Whole files as bytes, for tests that check what the program wrote or give
// it a file to read. Binary mode: line ends arrive exactly as stored.
#ifndef KL_TESTS_SUPPORT_FILES_H
#define KL_TESTS_SUPPORT_FILES_H

#include <string>

// The file's bytes, or an empty string when it cannot be opened.
std::string strReadFile(const std::string& strPath);

// Writes the bytes, replacing the file; false when that failed.
bool bWriteFile(const std::string& strPath, const std::string& strBytes);

#endif
