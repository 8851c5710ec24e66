// SPDX-FileCopyrightText: 2026 Pontix csapat
// SPDX-License-Identifier: GPL-3.0-or-later

// Xlib's screen-saver settings and the DPMS extension, kept to this file: their headers' macros
// (None, Bool, Status) would clash with Qt's and ours anywhere else.
#include "desktop/XBlanking.h"

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

namespace {

// An X connection for one change, closed with everything sent.
class XConnection
{
public:
    XConnection()
        : m_display(XOpenDisplay(nullptr))
    { }
    ~XConnection()
    {
        if (m_display) {
            XSync(m_display, False);
            XCloseDisplay(m_display);
        }
    }
    XConnection(const XConnection &) = delete;
    XConnection &operator=(const XConnection &) = delete;

    Display *display() const { return m_display; }

private:
    Display *const m_display;
};

bool hasDpms(Display *display)
{
    int event = 0, error = 0;
    return DPMSQueryExtension(display, &event, &error) && DPMSCapable(display);
}

} // namespace

std::optional<XBlankingSettings> SwitchXBlankingOff()
{
    const XConnection x;
    if (!x.display())
        return std::nullopt;
    XBlankingSettings before;
    XGetScreenSaver(x.display(), &before.timeout, &before.interval, &before.preferBlanking, &before.allowExposures);
    XSetScreenSaver(x.display(), 0, before.interval, before.preferBlanking, before.allowExposures);
    if (hasDpms(x.display())) {
        CARD16 level = 0;
        BOOL on = False;
        DPMSInfo(x.display(), &level, &on);
        before.powerManaged = on;
        if (on)
            DPMSDisable(x.display());
    }
    return before;
}

bool RestoreXBlanking(const XBlankingSettings &settings)
{
    const XConnection x;
    if (!x.display())
        return false;
    XSetScreenSaver(x.display(), settings.timeout, settings.interval, settings.preferBlanking, settings.allowExposures);
    if (settings.powerManaged && hasDpms(x.display()))
        DPMSEnable(x.display());
    return true;
}
