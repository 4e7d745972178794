#pragma once
// The running program: the session its handlers share, and its features' own state.
#include "app/Session.h"
#include "custom/BookmarkGuard.h"
#include "custom/CustomWindow.h"
#include "platform/Platform.h"
#include "preview/PreviewWindow.h"

namespace program {

class App : public app::Session {
 public:
  explicit App(platform::Platform& os);
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // The customisation window, and the bookmark guard it switches on and off.
  custom::CustomWindow frmCustom;
  custom::FavouritesWatch favouritesWatch;
  preview::PreviewWindow frmPreview;
};

}  // namespace program
