#pragma once

#include <string>
#include <vector>

namespace vm {

struct Program;
class MainMenus;
class DatabaseList;

// What the properties dialog shows and the user edits.
struct PropertiesFields {
    std::string name;
    std::string path;
    std::string contactLayout;
    std::string groupLayout;
    std::string startupMacro;
    // "Use locations from" the database named, rather than its own.
    bool useLocationsFrom = false;
    std::string locationsFrom;
    std::string username;
    std::string password; // clear text, as typed
    bool usePassword = false;
    bool noPasswordAtHostStart = false;
};

// The properties dialog as its logic sees it.
class PropertiesView {
public:
    enum class Field { Name, Path, ContactLayout, GroupLayout, Macro, Username, Password };
    static constexpr int kGeneralPage = 0;
    static constexpr int kLogonPage = 2;

    virtual ~PropertiesView() = default;
    virtual PropertiesFields fields() const = 0;
    virtual void setName(const std::string& name) = 0;
    // Turns to a page as the dialog's own doing: no check runs for it.
    virtual void showPage(int page) = 0;
    // Puts the focus into the field; the name's text is selected.
    virtual void focus(Field field) = 0;
    virtual void closeDialog() = 0;
};

// The properties of one database: loading its record, checking the entries
// and saving them into both stores, with the list, the QuickSwitch buttons,
// other databases' references and the main window's row kept in step.
class DatabaseProperties {
public:
    DatabaseProperties(Program& program, MainMenus& menus, DatabaseList& list);

    PropertiesFields Form_Load();
    // The databases whose locations this one may use: the list less itself.
    std::vector<std::string> otherDatabases() const;
    const std::string& loadedName() const { return loadedName_; }

    bool Check_Name(PropertiesView& view);
    void cmdOK_Click(PropertiesView& view);
    void cmdCancel_Click(PropertiesView& view);
    // The locations dialog stored its folders under this name.
    void locationsSaved(const std::string& name) { locationsSavedUnder_ = name; }

private:
    bool entriesStorable(PropertiesView& view, const PropertiesFields& fields);
    void save(const PropertiesFields& fields);
    void relist(const std::string& from, const std::string& to);
    void carryLocations(const std::string& from, const std::string& to);
    void forgetOldName(const std::string& from, const std::string& to);
    void writeRecord(const PropertiesFields& fields);
    void refuse(PropertiesView& view, const std::string& message, PropertiesView::Field field);

    Program& program_;
    MainMenus& menus_;
    DatabaseList& list_;
    std::string loadedName_;
    // The name the main window's row shows, whatever this showing renamed.
    std::string listedAs_;
    // A rename whose old name's sections are still to go: the list names the
    // new one already.
    std::string renamedFrom_;
    std::string locationsSavedUnder_;
};

} // namespace vm
