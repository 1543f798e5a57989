// Placeholder until the DIB module is written: an always-empty graphic.
#include "picture/DIB.h"

namespace {
std::unique_ptr<TGraphic> createDIB() { return std::make_unique<TDIB>(); }
const TGraphicClassInfo kDIBClass{"TDIB", nullptr, &createDIB};
} // namespace

TDIB::TDIB() = default;
TDIB::~TDIB() = default;
TGraphicClass TDIB::StaticClass() { return &kDIBClass; }
