' Fills a kvVelmora control that has no window and reads it back, as a script or a server
' process would before handing the control's settings to a form. Run: cscript //nologo windowless.vbs
Option Explicit

Dim grid
Set grid = CreateObject("KV.Velmora.1")

' The layout: pages of rows, each row as Name\Kind\Type\Group, every token ended by "#".
Dim layout
layout = "General#{#Name\Edit\Enable\#Visible\BoolComboBox\Enable\#Shape\ComboBox\Enable\#}#" & _
         "Colours#{#Back colour\ColorComboBox\Enable\#Fore colour\ColorComboBox\Grayed\#}#"
grid.PagesAndItems = layout
grid.ToolTips = False
grid.Animation = True
grid.ItemFont.Bold = True
grid.SetCustomColor 0, RGB(255, 128, 0)

' Without a window the control keeps its settings; pages and rows appear once it is shown.
WScript.Echo "layout kept:  " & (grid.PagesAndItems = layout)
WScript.Echo "tooltips:     " & grid.ToolTips
WScript.Echo "animation:    " & grid.Animation
WScript.Echo "bold rows:    " & grid.ItemFont.Bold
WScript.Echo "custom 0:     &H" & Hex(grid.GetCustomColor(0))
WScript.Echo "pages so far: " & grid.GetPagesCount()
WScript.Echo "active page:  " & grid.GetActivePage()

' Lookups by name find nothing until the pages exist.
Dim page, row
WScript.Echo "Name found:   " & grid.GetPropertyIndex("Name", page, row) & " (" & page & ", " & row & ")"
