#include "capture/managed_window_rendering_win32.h"

namespace qv {
namespace {

HWND WindowOf(const TManagedWindow &window) {
  return reinterpret_cast<HWND>(window.Handle);
}

HDC DcOf(DeviceContextHandle dc) {
  return reinterpret_cast<HDC>(dc);
}

} // namespace

TManagedWindowPrintRendering::TManagedWindowPrintRendering(const DesktopEnvironment &environment,
                                                           const WindowPainting &painting)
    : TManagedWindow(environment, RenderingKind::Default), painting_(painting) {}

void TManagedWindowPrintRendering::PaintTo(DeviceContextHandle dc) {
  PaintPrinted(WindowOf(*this), DcOf(dc), painting_);
}

TManagedWindowAlphaPrintRendering::TManagedWindowAlphaPrintRendering(
    const DesktopEnvironment &environment, const WindowPainting &painting)
    : TManagedWindow(environment, RenderingKind::AlphaPrint), painting_(painting) {}

void TManagedWindowAlphaPrintRendering::PaintTo(DeviceContextHandle dc) {
  PaintScreenCopy(WindowOf(*this), DcOf(dc), painting_);
}

TManagedWindowGadgetRendering::TManagedWindowGadgetRendering(const DesktopEnvironment &environment,
                                                             const WindowPainting &painting)
    : TManagedWindow(environment, RenderingKind::Gadget), painting_(painting) {}

void TManagedWindowGadgetRendering::PaintTo(DeviceContextHandle dc) {
  PaintGadget(WindowOf(*this), DcOf(dc), painting_);
}

std::unique_ptr<TManagedWindow>
Win32ManagedWindowFactory::Create(const DesktopEnvironment &environment, RenderingKind kind) {
  switch (kind) {
  case RenderingKind::AlphaPrint:
    return std::make_unique<TManagedWindowAlphaPrintRendering>(environment, painting_);
  case RenderingKind::Gadget:
    return std::make_unique<TManagedWindowGadgetRendering>(environment, painting_);
  case RenderingKind::Default:
    break;
  }
  return std::make_unique<TManagedWindowPrintRendering>(environment, painting_);
}

} // namespace qv
