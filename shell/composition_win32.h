#pragma once
// Whether the system composes the desktop: an NT system of version 6 or
// later with the Desktop Window Manager's composition on, asked at run time.
// Translucent windows over effects, glass and the composited window style
// need it; elsewhere (older systems, composition off, Wine) the plain paths
// serve.
namespace qv {

// An NT system of version 6 or later, as the system itself reports it.
bool SystemIsNt6OrLater();
// That, with the Desktop Window Manager composing right now.
bool CompositionEnabled();

} // namespace qv
