#pragma once

// A picture read ahead on a thread of its own, for the next load of the same
// file to take instead of reading it: the viewer's start reads its sheet
// while the window is still being built. A load takes only what it would
// have read itself: the file is stamped before and after the read ahead and
// again when it is taken, and a changed file, a failed read or another file
// leave the load to read the file itself, with its own errors.

#include <functional>
#include <memory>
#include <string>
#include <thread>

class TGraphic;

namespace picture {

class PicturePreload {
public:
    // `pathOf` runs on the thread and names the picture; an empty name or an
    // exception reads nothing. `afterRead` runs on the thread with the
    // picture once it is read.
    explicit PicturePreload(
        std::function<std::string()> pathOf, std::function<void(const TGraphic&)> afterRead = {});
    // Waits for the thread; a picture that no load took is freed.
    ~PicturePreload();
    PicturePreload(const PicturePreload&) = delete;
    PicturePreload& operator=(const PicturePreload&) = delete;

    struct Result;

private:
    std::shared_ptr<Result> m_result;
    std::thread m_thread;
};

// The graphic read ahead from `fileName`, if the file is unchanged; waits for
// a read ahead still running. The first load after a read ahead ends it,
// whether it takes the picture or not.
std::unique_ptr<TGraphic> takePreloadedPicture(const std::string& fileName);

// The graphic that a picture makes of the file, of the class that the
// registry names for its extension, read on the calling thread.
std::unique_ptr<TGraphic> readGraphicFile(const std::string& fileName);

} // namespace picture
