// Placeholder until the DIB module is written: an always-empty graphic.
#include "picture/DIB.h"

namespace {
std::unique_ptr<TGraphic> createDIB() { return std::make_unique<TDIB>(); }
const TGraphicClassInfo kDIBClass{"TDIB", nullptr, &createDIB};
} // namespace

TDIB::TDIB() = default;
TDIB::~TDIB() = default;
TGraphicClass TDIB::StaticClass() { return &kDIBClass; }
void TDIB::Draw(TCanvas&, const TRect&) {}
bool TDIB::Empty() const { return true; }
std::int32_t TDIB::Width() const { return 0; }
std::int32_t TDIB::Height() const { return 0; }
void TDIB::LoadFromStream(TStream&) {}
