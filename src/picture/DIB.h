#pragma once

// The device-independent bitmap class of the "dib" extension: its own reader,
// run-length decoders, reference-counted image records and the palette cache.
// (Declarations of the parts that the surface layer relies on; the module
// completes them.)

#include "picture/Graphics.h"

class TDIB : public TGraphic {
public:
    TDIB();
    ~TDIB() override;

    // The registry entry of this class; the file-format registry appends it
    // for "dib" after the built-in entries and TQvDIB.
    static TGraphicClass StaticClass();
    TGraphicClass ClassType() const override { return StaticClass(); }

    void Draw(TCanvas& canvas, const TRect& rect) override;
    bool Empty() const override;
    std::int32_t Width() const override;
    std::int32_t Height() const override;
    void LoadFromStream(TStream& stream) override;

    // A canvas whose context holds the decoded pixels as a section.
    TCanvas& Canvas();
    void SetSize(std::int32_t width, std::int32_t height, std::int32_t bitCount);
    void Clear();
};
