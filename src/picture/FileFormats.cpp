// The formats of the file-format registry, in one place: the graphic
// classes of Graphics and the two "dib" modules above it. The registry
// itself knows none of them.
#include "picture/DIB.h"
#include "picture/Graphics.h"
#include "picture/QvDIB.h"

TFileFormatsList::TFileFormatsList()
{
    Add("wmf", "メタファイル", 0, TMetafile::StaticClass());
    Add("emf", "エンハンス メタファイル", 0, TMetafile::StaticClass());
    Add("ico", "アイコン", 0, TIcon::StaticClass());
    Add("bmp", "ビットマップ", 0, TBitmap::StaticClass());
}

TFileFormatsList& GetFileFormats()
{
    // The two "dib" modules register at start-up, QvDIB first; the first of
    // them makes the registry with its built-in entries.
    static TFileFormatsList formats = [] {
        TFileFormatsList list;
        list.Add("dib", "Device Independent Bitmap", 0, TQvDIB::StaticClass());
        list.Add("dib", "Device Independent Bitmap", 0, TDIB::StaticClass());
        return list;
    }();
    return formats;
}
