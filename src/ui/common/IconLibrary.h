#pragma once
// The images behind the image keys the core uses ("form", "sub", "func1", "dll0", ...). Base images
// are drawn as SVG; a key ending in "1" is its base with a problem badge, one ending in "0" its base
// greyed and struck through (dead or empty code). Icons are made once and kept.

#include <QIcon>
#include <QString>
#include <string_view>

namespace tally {

class IconLibrary {
public:
    // The icon of an image key; an empty icon for an empty or unknown key.
    static QIcon icon(std::string_view key);
    static QIcon icon(const QString& key);
    static QIcon icon(const char* key) { return icon(std::string_view(key)); }
    // A tree node's icon: `image` normally, `selectedImage` while the node is selected.
    static QIcon treeIcon(std::string_view image, std::string_view selectedImage);
    // True when the key has a drawn base image of its own.
    static bool hasBaseImage(const QString& key);
    // The image key of a source file by its extension: frm, bas, cls, ctl, pag; empty for others.
    static QString fileKindKey(const QString& path);

private:
    static QIcon make(const QString& key);
};

}  // namespace tally
