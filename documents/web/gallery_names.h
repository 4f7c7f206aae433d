#pragma once
// The names of the full-size copy and the thumbnail of each picture of a gallery.
//
// A picture's copy is named after its file, extension replaced by ".jpg", and its
// thumbnail is "s_" followed by that name. Two pictures that would take the same names
// (the same file name in two folders, or a.bmp and a.png) would overwrite each other and
// both cells would show the later one, so a later picture takes the next free name:
// a_2.jpg and s_a_2.jpg, then a_3.jpg... A name is free when neither it nor its
// thumbnail's name is already taken by an earlier picture or a page, and when neither
// file would replace the picture file of any slide: a gallery saved in the photos' own
// folder never writes over photo.jpg.
#include <QString>
#include <QStringList>
#include <vector>

namespace webgallery {

struct PictureNames {
    QString image;     // without folder
    QString thumbnail; // "s_" + image
};

// The names for the pictures at `sources` (in slide order) written into `folder`, beside
// pages named `pages`. Names are compared as the platform's file system compares them.
std::vector<PictureNames> assignPictureNames(const QStringList &sources, const QString &folder,
                                             const QStringList &pages);

} // namespace webgallery
