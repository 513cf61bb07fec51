' Runs inside host_sample.exe, where the hosted kvVelmora control is the named item "Grid":
'   host_sample.exe --script hosted.vbs
' The host prints the events the control fires while the script runs.
Option Explicit

Grid.PagesAndItems = "Window#{#Caption\Edit\Enable\#Width\Edit\Enable\#Resizable\BoolComboBox\Enable\#}#" & _
                     "Notes#{#Author\Edit\Black\#}#"
Host.Echo "pages: " & Grid.GetPagesCount() & ", first: " & Grid.GetPageName(0)

Grid.SetDefaultValueByName "Caption", "Main window"
Grid.SetDefaultValueByName "Width", "640"
Grid.SetDefaultValueByName "Notes\Author", "kvVelmora"
Host.Echo "Caption = " & Grid.GetDefaultValueByName("Caption")
Host.Echo "Author is read-only: " & (Grid.GetPropertyType(1, 0) = 2)

' Rows added at run time go to the page named before the backslash.
Host.Echo "added at row " & Grid.AddProperty("Window\Height", "Edit", 0)
Grid.SetDefaultValueByName "Height", "480"
Host.Echo "Height = " & Grid.GetValueByName("Height", 0)

Dim page, row
If Grid.GetPropertyIndex("Resizable", page, row) Then Host.Echo "Resizable at " & page & ", " & row
Grid.SetActiveProperty page, row
Grid.ActivatePage 1
Host.Echo "active page: " & Grid.GetActivePage()
