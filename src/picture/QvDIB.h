#pragma once

// The second device-independent-bitmap class. It is registered for "dib"
// before TDIB, so the registry never chooses it; it reads nothing.

#include "picture/Graphics.h"

class TQvDIB : public TGraphic {
public:
    static TGraphicClass StaticClass();
    TGraphicClass ClassType() const override { return StaticClass(); }

    void Draw(TCanvas&, const TRect&) override { }
    bool Empty() const override { return true; }
    std::int32_t Height() const override { return 0; }
    std::int32_t Width() const override { return 0; }
    void LoadFromStream(TStream&) override { }
};
