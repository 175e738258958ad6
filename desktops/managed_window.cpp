#include "desktops/managed_window.h"

#include "desktops/desktop.h"
#include "desktops/desktop_environment.h"
#include "desktops/window_placement.h"

namespace qv {

TManagedWindow::TManagedWindow(const DesktopEnvironment &environment, RenderingKind kind)
    : environment_(environment), kind_(kind) {}

void TManagedWindow::SetDesktop(TDesktop *desktop) {
  if (desktop == Desktop)
    return;
  if (desktop && desktop->Full())
    return;
  if (Desktop)
    Desktop->Remove(this);
  if (desktop)
    desktop->Add(this);
  Desktop = desktop;
}

void TManagedWindow::MoveToDesktop(TDesktop *desktop) {
  if (desktop == Desktop)
    return;
  SetDesktop(desktop);
  if (Desktop == desktop) { // not when the target's list is full
    ReadOwnExStyle();
    Hide();
  }
}

void TManagedWindow::ReadOwnExStyle() {
  // Untouched by us: shown and not waiting, or hidden but still waiting for
  // its program to answer before it leaves the screen.
  const bool carriesOwnStyle = Visible ? !Deferred : Deferred;
  if (carriesOwnStyle && !Sticky)
    ExStyle = environment_.System.ExStyle(Handle);
}

HiddenWindowEntry TManagedWindow::JournalEntry() const {
  return {Handle, ProcessId, ExStyle, Tricky ? HideMethod::Transparent : HideMethod::Moved,
          ClassName};
}

void TManagedWindow::Hide() {
  if (Sticky)
    return;
  // Recorded first: a window must never be off the screen without a record.
  if (environment_.Journal)
    environment_.Journal->WindowHidden(JournalEntry());
  Visible = false;
  Deferred = !environment_.System.Responds(Handle);
  if (Deferred)
    return; // stays on the screen, recorded, until its program answers again
  if (Tricky)
    HideTransparent();
  else
    HideMoved();
}

void TManagedWindow::HideTransparent() {
  WindowSystem &system = environment_.System;
  system.PostShellHook(kShellHookWindowDestroyed, Handle);
  system.SetExStyle(Handle, system.ExStyle(Handle) | window_style::kExLayered);
  system.SetLayeredAlpha(Handle, 0);
}

void TManagedWindow::HideMoved() {
  WindowSystem &system = environment_.System;
  Rect = system.Rect(Handle);
  system.SetExStyle(Handle, HiddenExStyle(ExStyle));
  system.PostShellHook(kShellHookWindowDestroyed, Handle);
  const WindowPosition position = HiddenPosition(Rect);
  system.SetPosition(Handle, position.Left, position.Top, position.Move);
}

void TManagedWindow::Show() {
  if (Sticky)
    return;
  Visible = true;
  Deferred = !environment_.System.Responds(Handle);
  if (Deferred)
    return; // its record stays until it is really shown
  try {
    if (Tricky)
      ShowTransparent();
    else
      ShowMoved();
    // Forgotten only once shown: a failed show stays recoverable.
    if (environment_.Journal)
      environment_.Journal->WindowShown(Handle);
  } catch (...) {
    // The window belongs to another program and may have gone meanwhile.
  }
}

void TManagedWindow::CompleteDeferred() {
  if (!Deferred || !environment_.System.Responds(Handle))
    return;
  if (Visible) {
    Show();
  } else {
    ReadOwnExStyle();
    Hide();
  }
}

void TManagedWindow::ShowTransparent() {
  WindowSystem &system = environment_.System;
  system.PostShellHook(kShellHookWindowCreated, Handle);
  system.SetLayeredAlpha(Handle, 255);
  system.SetExStyle(Handle, ExStyle);
}

void TManagedWindow::ShowMoved() {
  WindowSystem &system = environment_.System;
  Rect = system.Rect(Handle);
  system.SetExStyle(Handle, ExStyle);
  system.PostShellHook(kShellHookWindowCreated, Handle);
  const WindowPosition position = ShownPosition(Rect);
  system.SetPosition(Handle, position.Left, position.Top, position.Move);
}

void TManagedWindow::BringToFront() {
  WindowSystem &system = environment_.System;
  if (system.IsMinimized(Handle) || !system.Responds(Handle))
    return;
  system.BringToFront(Handle);
}

WindowRect TManagedWindow::ScreenRect() {
  Rect = environment_.System.Rect(Handle);
  return OnScreenRect(Rect);
}

} // namespace qv
