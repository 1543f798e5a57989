#pragma once

// The messages of the writers, in the words of the window's other messages.

#include "platform/Exception.h"

namespace exporter {

inline constexpr const char* kSFCreateError = "%s を作成できません";
inline constexpr const char* kSNoFrames = "書き出すフレームがありません";
inline constexpr const char* kSFrameSizes = "フレームの大きさがそろっていません";
inline constexpr const char* kSImageTooLarge = "画像が大きすぎます";
inline constexpr const char* kSGifError = "GIF を作成できません";

// A file that cannot be written, or written whole.
class EFCreateError : public EStreamError {
    using EStreamError::EStreamError;
};

// Frames that no GIF can hold (none, of different sizes, too large).
class EGifError : public Exception {
    using Exception::Exception;
};

} // namespace exporter
