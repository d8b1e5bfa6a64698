#include "main/core/DatabaseProperties.h"

#include "base/FailureReport.h"
#include "cipher/modEnCrypt.h"
#include "main/core/CheckedWrites.h"
#include "main/core/DatabaseList.h"
#include "main/core/FriendlyName.h"
#include "main/core/LangText.h"
#include "main/core/MainMenus.h"
#include "main/core/Program.h"
#include "main/core/TextNumbers.h"
#include "settings/PerUserStore.h"
#include "settings/SettingsSchema.h"
#include "settings/Windows1252.h"

#include <algorithm>

namespace vm {

namespace {

using Field = PropertiesView::Field;

constexpr std::string_view kWindow = "frmProperties";
constexpr std::string_view kNoUsername = "Please enter a username for this database!";

std::string cipherKey() {
    return std::string(modEnCrypt::kCipherKey);
}

std::string yesNo(bool value) {
    return value ? "1" : "0";
}

int pageOf(Field field) {
    return field == Field::Username || field == Field::Password ? PropertiesView::kLogonPage
                                                                : PropertiesView::kGeneralPage;
}

} // namespace

DatabaseProperties::DatabaseProperties(Program& program, MainMenus& menus, DatabaseList& list)
    : program_(program), menus_(menus), list_(list) {}

PropertiesFields DatabaseProperties::Form_Load() {
    Program::PropertiesFlags& flags = program_.properties;
    flags.bCancel = false;
    if (flags.bAdd)
        program_.currentDatabaseName.clear();
    loadedName_ = program_.currentDatabaseName;
    listedAs_ = loadedName_;
    renamedFrom_.clear();
    // The list as it is now: databases added since the main window filled
    // its rows (in the list maintenance dialog) may lend their locations.
    program_.names = schema::listedNames(program_.ini);
    PropertiesFields f;
    if (loadedName_.empty())
        return f;
    const schema::DatabaseRecord r =
        schema::readDatabaseRecord(program_.ini, program_.store, loadedName_);
    f.name = loadedName_;
    f.path = r.path;
    f.contactLayout = r.contactLayout;
    f.groupLayout = r.groupLayout;
    f.startupMacro = r.startupMacro;
    f.useLocationsFrom = !r.useLocationsFrom.empty();
    f.locationsFrom = r.useLocationsFrom;
    f.username = r.username;
    // The cipher works on the code page's bytes.
    f.password = windows1252::toUtf8(modEnCrypt::DecryptText(r.password, cipherKey()));
    f.usePassword = r.usePassword;
    f.noPasswordAtHostStart = r.noPasswordAtACTStartup;
    return f;
}

std::vector<std::string> DatabaseProperties::otherDatabases() const {
    std::vector<std::string> others;
    std::ranges::copy_if(program_.names, std::back_inserter(others),
                         [&](const std::string& name) { return name != loadedName_; });
    return others;
}

void DatabaseProperties::refuse(PropertiesView& view, const std::string& message, Field field) {
    program_.tell(message);
    view.showPage(pageOf(field));
    view.focus(field);
}

bool DatabaseProperties::Check_Name(PropertiesView& view) {
    const PropertiesFields f = view.fields();
    if (f.name != loadedName_)
        program_.names = schema::listedNames(program_.ini);
    if (const auto problem = friendlyNameProblem(f.name, loadedName_, program_.names)) {
        // A name in use gives way to the loaded one; a name that cannot be
        // stored stays, for the user to mend.
        if (*problem == nametext::kNotUnique)
            view.setName(loadedName_);
        program_.tell(program_.lang[*problem], Prompter::Icon::Exclamation);
        view.showPage(PropertiesView::kGeneralPage);
        view.focus(Field::Name);
        return false;
    }
    if (f.path.empty()) {
        refuse(view, program_.lang[txt::kSelectDatabase], Field::Path);
        return false;
    }
    if (f.contactLayout.empty()) {
        refuse(view, program_.lang[txt::kSelectContactLayout], Field::ContactLayout);
        return false;
    }
    return true;
}

bool DatabaseProperties::entriesStorable(PropertiesView& view, const PropertiesFields& f) {
    const std::pair<const std::string&, Field> entries[] = {{f.path, Field::Path},
                                                            {f.contactLayout, Field::ContactLayout},
                                                            {f.groupLayout, Field::GroupLayout},
                                                            {f.startupMacro, Field::Macro},
                                                            {f.username, Field::Username},
                                                            {f.password, Field::Password}};
    for (const auto& [text, field] : entries) {
        if (!storable(text)) {
            refuse(view, program_.lang[nametext::kNotStorable], field);
            return false;
        }
    }
    return true;
}

void DatabaseProperties::cmdOK_Click(PropertiesView& view) {
    guarded({kWindow, "Sub", "cmdOK_Click"}, [&] {
        const PropertiesFields f = view.fields();
        if (f.username.empty()) {
            program_.tell(std::string(kNoUsername), Prompter::Icon::Exclamation);
            view.showPage(PropertiesView::kLogonPage);
            view.focus(Field::Username);
            return;
        }
        if (!Check_Name(view) || !entriesStorable(view, f))
            return;
        save(f);
        program_.properties.bAdd = false;
        view.closeDialog();
    });
}

void DatabaseProperties::cmdCancel_Click(PropertiesView& view) {
    program_.properties.bCancel = true;
    program_.properties.bAdd = false;
    view.closeDialog();
}

// A rename keeps the database whole under one listed name at every step: the
// record under the new name first, then the list, the old name's sections
// last. When a write is refused part-way, the dialog stays open and its OK
// finishes what is left.
void DatabaseProperties::save(const PropertiesFields& f) {
    program_.currentDatabaseName = f.name;
    const bool adding = program_.properties.bAdd;
    if (!renamedFrom_.empty())
        forgetOldName(renamedFrom_, loadedName_);
    if (!adding && f.name != loadedName_) {
        carryLocations(loadedName_, f.name);
        writeRecord(f);
        relist(loadedName_, f.name);
        renamedFrom_ = loadedName_;
        loadedName_ = f.name;
        forgetOldName(renamedFrom_, loadedName_);
    } else {
        writeRecord(f);
    }
    if (adding) {
        relist({}, f.name);
        return;
    }
    try {
        list_.rebuildRow(listedAs_, f.name);
    } catch (...) {
        // The record is saved; the main window shows it at its next fill.
    }
}

void DatabaseProperties::relist(const std::string& from, const std::string& to) {
    IniLib& ini = program_.ini;
    std::vector<std::string> names = schema::listedNames(ini);
    if (from.empty())
        names.push_back(to);
    else
        std::ranges::replace(names, from, to);
    setKey(ini, schema::kGeneral, schema::kSort, schema::joinList(names));
}

void DatabaseProperties::carryLocations(const std::string& from, const std::string& to) {
    // Names that differ only in letter case share their sections; locations
    // the user stored under the new name in this showing stay.
    if (sameNameUtf8(from, to) || sameNameUtf8(locationsSavedUnder_, to))
        return;
    IniLib& ini = program_.ini;
    const schema::DatabaseRecord old = schema::readDatabaseRecord(ini, program_.store, from);
    for (const schema::FileType& type : schema::kFileTypes)
        if (!old.locations[type.index].empty())
            setKey(ini, to, type.key, old.locations[type.index]);
}

void DatabaseProperties::forgetOldName(const std::string& from, const std::string& to) {
    IniLib& ini = program_.ini;
    menus_.ReplaceInQuickSwitch(from, to);
    // Databases that took their locations from the old name keep them.
    for (const std::string& other : schema::listedNames(ini)) {
        if (other != to &&
            ini.GetKeyValue(other, std::string(schema::kUseLocationsFrom), "") == from)
            setKey(ini, other, schema::kUseLocationsFrom, to);
    }
    if (!sameNameUtf8(from, to)) {
        deleteRecord(ini, program_.store, from);
    }
    renamedFrom_.clear();
}

void DatabaseProperties::writeRecord(const PropertiesFields& f) {
    IniLib& ini = program_.ini;
    PerUserStore& store = program_.store;
    const std::string& name = f.name;
    setKey(ini, name, schema::kPath, f.path);
    setKey(ini, name, schema::kContactLayout, f.contactLayout);
    setKey(ini, name, schema::kGroupLayout, f.groupLayout);
    setKey(ini, name, schema::kStartupMacro, f.startupMacro);
    saveSetting(store, name, schema::kUsername, f.username);
    saveSetting(store, name, schema::kUsePassword, yesNo(f.usePassword));
    if (f.usePassword)
        saveSetting(
            store, name, schema::kPassword,
            modEnCrypt::EncryptText(windows1252::fromUtf8(f.password).value(), cipherKey()));
    else
        deleteSetting(store, name, schema::kPassword);
    saveSetting(store, name, schema::kNoPasswordAtACTStartup, yesNo(f.noPasswordAtHostStart));
    if (f.useLocationsFrom) {
        setKey(ini, name, schema::kUseLocationsFrom, f.locationsFrom);
        for (const schema::FileType& type : schema::kFileTypes)
            deleteKey(ini, name, type.key);
    } else {
        deleteKey(ini, name, schema::kUseLocationsFrom);
    }
}

} // namespace vm
