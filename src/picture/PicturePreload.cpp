#include "picture/PicturePreload.h"

#include "picture/Graphics.h"
#include "platform/FileSystem.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <utility>

namespace picture {

struct PicturePreload::Result {
    std::mutex mutex;
    std::condition_variable doneChanged;
    bool done = false;
    std::string path;
    platform::FileStamp stamp;
    std::unique_ptr<TGraphic> graphic;
};

namespace {

std::mutex g_pendingMutex;
// The read ahead that the next load is to look at; one at a time.
std::shared_ptr<PicturePreload::Result> g_pending;

void readAhead(PicturePreload::Result& result, const std::function<std::string()>& pathOf,
    const std::function<void(const TGraphic&)>& afterRead)
{
    std::string path = pathOf();
    if (path.empty())
        return;
    const platform::FileStamp before = platform::fileStamp(path);
    std::unique_ptr<TGraphic> graphic = readGraphicFile(path);
    // A save that landed during the read may have mixed two versions.
    if (!before.exists || platform::fileStamp(path) != before)
        return;
    if (afterRead)
        afterRead(*graphic);
    const std::lock_guard lock(result.mutex);
    result.path = std::move(path);
    result.stamp = before;
    result.graphic = std::move(graphic);
}

} // namespace

PicturePreload::PicturePreload(
    std::function<std::string()> pathOf, std::function<void(const TGraphic&)> afterRead)
    : m_result(std::make_shared<Result>())
{
    try {
        m_thread
            = std::thread([result = m_result, pathOf = std::move(pathOf), afterRead = std::move(afterRead)] {
                  try {
                      readAhead(*result, pathOf, afterRead);
                  } catch (...) {
                      // The load reads the file itself and reports what it finds.
                  }
                  const std::lock_guard lock(result->mutex);
                  result->done = true;
                  result->doneChanged.notify_all();
              });
    } catch (const std::system_error&) {
        // No thread to spare: nothing is read ahead, and no load waits.
        return;
    }
    const std::lock_guard lock(g_pendingMutex);
    g_pending = m_result;
}

PicturePreload::~PicturePreload()
{
    {
        const std::lock_guard lock(g_pendingMutex);
        if (g_pending == m_result)
            g_pending.reset();
    }
    if (m_thread.joinable())
        m_thread.join();
}

std::unique_ptr<TGraphic> takePreloadedPicture(const std::string& fileName)
{
    std::shared_ptr<PicturePreload::Result> result;
    {
        const std::lock_guard lock(g_pendingMutex);
        result = std::exchange(g_pending, nullptr);
    }
    if (!result)
        return nullptr;
    std::unique_lock lock(result->mutex);
    result->doneChanged.wait(lock, [&] { return result->done; });
    if (!result->graphic || result->path != fileName || platform::fileStamp(fileName) != result->stamp)
        return nullptr;
    return std::move(result->graphic);
}

} // namespace picture
