#include "platform/qt/FreedesktopAssociation.h"

#include <gio/gio.h>

#include <memory>

namespace vm {

namespace {

struct ObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <class T> using GObjectPtr = std::unique_ptr<T, ObjectUnref>;

struct StrvFree {
    void operator()(gchar** strings) const { g_strfreev(strings); }
};
struct GFree {
    void operator()(gchar* text) const { g_free(text); }
};

using Status = FileProgram::Status;

// The program of a desktop entry's command line. GIO's own "executable" is
// the line cut at its first blank, quotes and all, which breaks for a path
// that holds a blank; the line is split here as GIO splits it to launch it.
FileProgram programOf(GAppInfo* application) {
    const char* commandLine = g_app_info_get_commandline(application);
    gchar** words = nullptr;
    if (!commandLine || !g_shell_parse_argv(commandLine, nullptr, &words, nullptr))
        return {Status::Failed, {}};
    const std::unique_ptr<gchar*, StrvFree> argv(words);
    // A bare command is looked for on PATH; a path is taken as it stands
    // when it names a program.
    const std::unique_ptr<gchar, GFree> program(g_find_program_in_path(argv.get()[0]));
    return program ? FileProgram{Status::Found, program.get()} : FileProgram{Status::Failed, {}};
}

} // namespace

FileProgram freedesktopProgramFor(const std::string& file) {
    const GObjectPtr<GFile> target(g_file_new_for_path(file.c_str()));
    const GObjectPtr<GFileInfo> info(g_file_query_info(target.get(),
                                                       G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE,
                                                       G_FILE_QUERY_INFO_NONE, nullptr, nullptr));
    const char* type = info ? g_file_info_get_content_type(info.get()) : nullptr;
    if (!type)
        return {Status::Failed, {}};
    const GObjectPtr<GAppInfo> application(g_app_info_get_default_for_type(type, FALSE));
    return application ? programOf(application.get()) : FileProgram{Status::NoneRegistered, {}};
}

} // namespace vm
