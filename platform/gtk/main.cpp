// The Linux program: GTK, the platform, then the client.
#include <gtk/gtk.h>

#include <string>

#include "app/ravaruza_app.h"
#include "platform/gtk/gtk_platform.h"
#include "platform/text.h"

int main(int argc, char** argv) {
  gtk_init(&argc, &argv);
  lv::gtk::GtkPlatform platform;
  lv::SetPlatform(&platform);
  // The arguments as one command line, as Windows hands it over.
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  return lv::RunClient(lv::FromUtf8(line));
}
