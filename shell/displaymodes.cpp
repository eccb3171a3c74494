#include "displaymodes.h"

#include <QGuiApplication>
#include <QScreen>

#include "x11.h"

#include <xcb/randr.h>

namespace {

using x11::defaultScreen;
using x11::reply;

int bitsOf(int depth)
{
    // A 24-bit depth is stored in 32-bit pixels, which is what colour settings call it.
    return depth == 24 ? 32 : depth;
}

struct Crtc {
    xcb_randr_crtc_t id = XCB_NONE;
    x11::Reply<xcb_randr_get_crtc_info_reply_t> info{nullptr, &free};
};

// The CRTC that drives the primary output, or the first active one.
Crtc primaryCrtc(xcb_connection_t* c, xcb_window_t root,
                 xcb_randr_get_screen_resources_current_reply_t* resources)
{
    auto primary = reply(xcb_randr_get_output_primary_reply(
        c, xcb_randr_get_output_primary(c, root), nullptr));
    const xcb_randr_output_t* outputs =
        xcb_randr_get_screen_resources_current_outputs(resources);
    const int outputCount = xcb_randr_get_screen_resources_current_outputs_length(resources);
    Crtc first;
    for (int i = 0; i < outputCount; ++i) {
        auto output = reply(xcb_randr_get_output_info_reply(
            c, xcb_randr_get_output_info(c, outputs[i], resources->config_timestamp), nullptr));
        if (!output || output->crtc == XCB_NONE)
            continue;
        Crtc crtc;
        crtc.id = output->crtc;
        crtc.info = reply(xcb_randr_get_crtc_info_reply(
            c, xcb_randr_get_crtc_info(c, output->crtc, resources->config_timestamp), nullptr));
        if (!crtc.info)
            continue;
        if (primary && outputs[i] == primary->output)
            return crtc;
        if (first.id == XCB_NONE)
            first = std::move(crtc);
    }
    return first;
}

// The primary screen as Qt sees it, in pixels: what there is to go on without X's answer.
std::optional<DisplayMode> qtScreenMode()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return std::nullopt;
    const QSize size = screen->geometry().size() * screen->devicePixelRatio();
    return DisplayMode{size.width(), size.height(), screen->depth()};
}

} // namespace

QString DisplayMode::text() const
{
    return QString::number(width) + u'x' + QString::number(height) + u'x' + QString::number(bits);
}

QList<DesktopDisplayModes::Entry> DesktopDisplayModes::load()
{
    QList<Entry> entries;
    if (xcb_connection_t* c = x11::connection()) {
        xcb_screen_t* screen = defaultScreen(c);
        auto resources = reply(xcb_randr_get_screen_resources_current_reply(
            c, xcb_randr_get_screen_resources_current(c, screen->root), nullptr));
        if (resources) {
            const xcb_randr_mode_info_t* modes =
                xcb_randr_get_screen_resources_current_modes(resources.get());
            const int count = xcb_randr_get_screen_resources_current_modes_length(resources.get());
            // X changes its colour depth only when its server starts again: the modes offered
            // are those of the depth it runs at, which can be switched to now.
            const int bits = bitsOf(screen->root_depth);
            for (int i = 0; i < count; ++i)
                entries.append({{modes[i].width, modes[i].height, bits}, modes[i].id});
        }
    }
    const std::optional<DisplayMode> seen = entries.isEmpty() ? qtScreenMode() : std::nullopt;
    if (seen)
        entries.append({*seen, 0});
    return entries;
}

QList<DisplayMode> DesktopDisplayModes::list()
{
    entries_ = load();
    QList<DisplayMode> modes;
    for (const Entry& entry : entries_)
        modes.append(entry.mode);
    return modes;
}

std::optional<DisplayMode> DesktopDisplayModes::current()
{
    if (xcb_connection_t* c = x11::connection()) {
        xcb_screen_t* screen = defaultScreen(c);
        auto resources = reply(xcb_randr_get_screen_resources_current_reply(
            c, xcb_randr_get_screen_resources_current(c, screen->root), nullptr));
        if (resources) {
            const Crtc crtc = primaryCrtc(c, screen->root, resources.get());
            if (crtc.info)
                return DisplayMode{crtc.info->width, crtc.info->height, bitsOf(screen->root_depth)};
        }
    }
    return qtScreenMode();
}

int DesktopDisplayModes::change(int index)
{
    if (index < 0 || index >= entries_.size())
        return BadMode;
    const Entry& entry = entries_[index];
    const std::optional<DisplayMode> now = current();
    if (now && entry.mode.bits != now->bits)
        return NeedsRestart;
    if (now && entry.mode == *now && entry.modeId == 0)
        return Changed;

    xcb_connection_t* c = x11::connection();
    if (!c || entry.modeId == 0)
        return BadMode;
    xcb_screen_t* screen = defaultScreen(c);
    auto resources = reply(xcb_randr_get_screen_resources_current_reply(
        c, xcb_randr_get_screen_resources_current(c, screen->root), nullptr));
    if (!resources)
        return Failed;
    const Crtc crtc = primaryCrtc(c, screen->root, resources.get());
    if (!crtc.info)
        return Failed;
    const auto set = reply(xcb_randr_set_crtc_config_reply(
        c,
        xcb_randr_set_crtc_config(c, crtc.id, XCB_CURRENT_TIME, resources->config_timestamp,
                                  crtc.info->x, crtc.info->y, entry.modeId, crtc.info->rotation,
                                  xcb_randr_get_crtc_info_outputs_length(crtc.info.get()),
                                  xcb_randr_get_crtc_info_outputs(crtc.info.get())),
        nullptr));
    return set && set->status == XCB_RANDR_SET_CONFIG_SUCCESS ? Changed : Failed;
}
