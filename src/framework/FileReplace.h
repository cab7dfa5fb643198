// Writing a whole file so that it is either all there or not changed at all: the bytes go to a new
// file beside the target, every write, the sync and the close are checked, and only then does the
// new file take the target's name. A full disk, a missing folder or a crash mid-way leaves the old
// file as it was and no stray file behind.
#pragma once

#include <QByteArray>
#include <QString>

// Replaces fileName's content by data; gives back 0, or the error number of the step that failed.
// The temporary file has a name of its own per call, so two writers of one file never share it.
int ReplaceFile(const QString& fileName, const QByteArray& data);

// What went wrong, in the user's words where there are such words ("磁盘空间不足").
QString FileErrorReason(int error);

// ReplaceFile that raises EFCreateError "无法写入文件 <name>：<reason>" on failure.
void SaveBytesToFile(const QString& fileName, const QByteArray& data);
