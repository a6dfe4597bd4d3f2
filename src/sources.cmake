# Source lists per library. A file belongs to exactly one library.
set(S ${CMAKE_CURRENT_LIST_DIR})

set(TESVANE_CORE_SOURCES
    ${S}/common/Currency.cpp
    ${S}/common/NumberText.cpp
    ${S}/common/Helpers.cpp
    ${S}/common/DisplayTexts.cpp
    ${S}/common/Dates.cpp
    ${S}/common/AppState.cpp
    ${S}/common/Messages.cpp
    ${S}/common/SqlText.cpp
    ${S}/common/ColorText.cpp
    ${S}/company/BasicSettings.cpp
    ${S}/app/ProjectCommands.cpp
    ${S}/masters/CsvLine.cpp
    ${S}/masters/Cp932.cpp
    ${S}/masters/EmployeeRecord.cpp
    ${S}/masters/EmployeeCsv.cpp
    ${S}/plot/LeastSquares.cpp
    ${S}/wage/WageTableGenerator.cpp
    ${S}/wage/WageTableTexts.cpp
    ${S}/wage/WageTableSql.cpp
)

set(TESVANE_DATA_SOURCES
    ${S}/data/TDM.cpp
    ${S}/data/TQuery.cpp
    ${S}/data/Transaction.cpp
    ${S}/data/Compaction.cpp
    ${S}/common/CompanySettingsCache.cpp
    ${S}/common/EraTable.cpp
    ${S}/company/BasicSettingsStore.cpp
    ${S}/masters/EmployeeStore.cpp
    ${S}/masters/EmployeeTransfer.cpp
    ${S}/wage/WageTableStore.cpp
)

set(TESVANE_SCREENS_SOURCES
    ${S}/common/MessageBoxResponder.cpp
    ${S}/common/Dialogs.cpp
    ${S}/common/DateFields.cpp
    ${S}/common/FieldExits.cpp
    ${S}/common/Controls.cpp
    ${S}/app/Startup.cpp
    ${S}/app/WS0000_MainWindow.cpp
    ${S}/app/WS0001_Splash.cpp
    ${S}/app/WS4010_Version.cpp
    ${S}/app/BeforeUse_UsageGuide.cpp
    ${S}/app/Artwork.cpp
    ${S}/company/WS0010_CompanySelection.cpp
    ${S}/company/WS0020_CompanyData.cpp
    ${S}/company/WS0070_BasicSettings.cpp
    ${S}/masters/JpegDecoder.cpp
    ${S}/masters/EmployeeListGrid.cpp
    ${S}/masters/WS0030_Employee.cpp
    ${S}/masters/ImportWorker_EmployeeImport.cpp
    ${S}/masters/EmployeeExportCommand.cpp
    ${S}/wage/WS2010_WageTable.cpp
    ${S}/wage/WS2011_BaseAmounts.cpp
)

set(TESVANE_CLI_SOURCES
    ${S}/cli/CliCommands.cpp
    ${S}/cli/EmployeesCommand.cpp
    ${S}/cli/WageTableCommand.cpp
)
