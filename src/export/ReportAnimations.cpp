#include "export/ReportParts.h"

#include "export/GifEncoder.h"
#include "export/Html.h"
#include "export/OnceThrough.h"
#include "form/Buttons.h"
#include "form/FormControls.h"
#include "playback/Player.h"

#include <algorithm>
#include <cstring>

namespace exporter::report {

namespace {

using character::CharacterTables;

std::string classText(std::int32_t animation)
{
    switch (playback::animationClass(animation)) {
    case playback::AnimationClass::oneShot:
        return "ワンショット（一度再生して元に戻る）";
    case playback::AnimationClass::patternCheck:
        return "パターンチェック";
    case playback::AnimationClass::looping:
        break;
    }
    return "ループ";
}

std::string buttonText(std::int32_t animation)
{
    const auto button = form::animationButton(animation);
    return button ? std::string(form::designCaption(*button)) : "（ボタンなし）";
}

std::string slotText(const character::FrameTable& table, std::int32_t animation, std::int32_t index)
{
    const std::int32_t pattern = CharacterTables::slot(table, animation, index);
    return pattern == character::kEmptySlot ? "—" : character::hexPair(pattern);
}

Image stripOf(const std::vector<Image>& frames)
{
    const std::int32_t width = frames.front().width, height = frames.front().height;
    Image strip(width * static_cast<std::int32_t>(frames.size()), height);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        for (std::int32_t y = 0; y < height; ++y)
            std::memcpy(strip.pixels.data() + static_cast<std::size_t>(y) * strip.width + i * width,
                frames[i].pixels.data() + static_cast<std::size_t>(y) * width, width * sizeof(std::uint32_t));
    }
    return strip;
}

void appendFrameList(std::string& page, const CharacterTables& tables, std::int32_t animation,
    std::int32_t count, std::int32_t frameWidth)
{
    const bool layered = tables.layered[static_cast<std::size_t>(animation)];
    page += "<ol class=\"frames\" style=\"grid-template-columns:repeat(" + std::to_string(count) + ","
        + std::to_string(frameWidth) + "px)\">";
    for (std::int32_t i = 1; i <= count; ++i) {
        page += "<li><b>" + std::to_string(i) + "</b><br>ベース " + slotText(tables.base, animation, i);
        if (layered)
            page += "<br>レイヤー " + slotText(tables.layer, animation, i) + "<br>配置 "
                + slotText(tables.placement, animation, i);
        page += "</li>";
    }
    page += "</ol>\n";
}

void appendAnimation(std::string& page, const ReportInput& input, std::int32_t animation)
{
    const CharacterTables& tables = input.state->tables;
    const std::vector<Image> frames = onceThroughFrames(tables, animation, input.sheet, *input.directDraw);
    const auto count = static_cast<std::int32_t>(frames.size());
    std::vector<TimedImage> timed;
    for (const Image& frame : frames)
        timed.push_back({ &frame, input.state->frameInterval });
    const std::string number = std::to_string(animation);
    const std::string w = std::to_string(frames.front().width), h = std::to_string(frames.front().height);

    page += "<section class=\"animation\" id=\"animation-" + number + "\"><h2>アニメーション " + number + "："
        + escapeHtml(buttonText(animation)) + "</h2>\n<div class=\"play\"><img class=\"gif\" src=\""
        + dataUri("image/gif", encodeAnimatedGif(timed)) + "\" width=\"" + w + "\" height=\"" + h
        + "\" alt=\"アニメーション " + number + " の GIF\">\n<dl class=\"facts\"><dt>番号</dt><dd>" + number
        + "</dd><dt>ボタン</dt><dd>" + escapeHtml(buttonText(animation)) + "</dd><dt>種類</dt><dd>"
        + classText(animation) + "</dd><dt>フレーム数</dt><dd>" + std::to_string(count)
        + "</dd><dt>GIF</dt><dd>1 周、" + std::to_string(input.state->frameInterval)
        + " ミリ秒ごと</dd></dl></div>\n";
    page += "<h3>フレーム</h3><div class=\"scroll\"><div class=\"strip\"><img src=\""
        + imageUri(stripOf(frames)) + "\" width=\"" + std::to_string(frames.front().width * count)
        + "\" height=\"" + h + "\" alt=\"アニメーション " + number + " のフレーム\">\n";
    appendFrameList(page, tables, animation, count, frames.front().width);
    page += "</div></div></section>\n";
}

} // namespace

int appendAnimations(std::string& page, const ReportInput& input)
{
    page += "<section id=\"animations\"><h2>アニメーション</h2>\n";
    int written = 0;
    for (std::int32_t a = 0; a < character::kAnimationCount; ++a) {
        if (input.state->tables.frameCount(a) == 0)
            continue;
        appendAnimation(page, input, a);
        ++written;
    }
    if (written == 0)
        page += "<p>フレームのあるアニメーションはありません。</p>\n";
    page += "</section>\n";
    return written;
}

} // namespace exporter::report
