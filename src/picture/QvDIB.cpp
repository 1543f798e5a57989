#include "picture/QvDIB.h"

namespace {
std::unique_ptr<TGraphic> createQvDIB()
{
    return std::make_unique<TQvDIB>();
}
const TGraphicClassInfo kQvDIBClass { "TQvDIB", nullptr, &createQvDIB };
} // namespace

TGraphicClass TQvDIB::StaticClass()
{
    return &kQvDIBClass;
}
