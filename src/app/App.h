#pragma once
// The running program: the session its handlers share, and its features' own state.
#include <string>

#include "custom/BookmarkGuard.h"
#include "custom/CustomWindow.h"
#include "engine/Session.h"
#include "platform/Platform.h"
#include "preview/PreviewWindow.h"

namespace app {

class App : public engine::Session {
 public:
  explicit App(platform::Platform& os);
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  custom::CustomWindow frmCustom;
  preview::PreviewWindow frmPreview;
  custom::FavouritesWatch favouritesWatch;
};

}  // namespace app
