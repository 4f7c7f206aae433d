#pragma once
// Path identity and folder paths. Whether two paths name the same file, as the platform's file system compares names:
// exactly on Linux, where "IMG.jpg" and "img.jpg" are two photos; without regard to case
// where the file system ignores it. Lists that hold a path at most once use pathKey for
// their index, so adding N paths costs O(N). Sorting and searching keep their own rules.
#include <QString>

bool samePath(const QString &a, const QString &b);

// The form of a path under which samePath paths are equal: the path itself on Linux.
QString pathKey(const QString &path);

// A folder path ending with the platform's separator, as the program joins folder and file
// names ("/photos" and "/photos/" both give "/photos/").
QString withTrailingSeparator(const QString &folder);
