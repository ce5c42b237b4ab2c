VERSION 5.00
Begin VB.UserControl ctlHourBox 
   ClientHeight    =   315
   ClientLeft      =   0
   ClientTop       =   0
   ClientWidth     =   1815
   ScaleHeight     =   315
   ScaleWidth      =   1815
   Begin VB.TextBox txtHours 
      Alignment       =   1  'Right Justify
      Height          =   315
      Left            =   0
      MaxLength       =   6
      TabIndex        =   0
      Text            =   "0.00"
      Top             =   0
      Width           =   1215
   End
   Begin VB.Label lblUnit 
      AutoSize        =   -1  'True
      BackStyle       =   0  'Transparent
      Caption         =   "hrs"
      Height          =   195
      Left            =   1320
      TabIndex        =   1
      Top             =   60
      Width           =   255
   End
End
Attribute VB_Name = "ctlHourBox"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = True
Attribute VB_PredeclaredId = False
Attribute VB_Exposed = False
'---------------------------------------------------------------------------
' ctlHourBox - a text box for hours with its unit beside it
'---------------------------------------------------------------------------
Option Explicit

Public Event Change()

Private Const DEFAULT_MAX As Double = 24
Private Const LABEL_GAP As Single = 60

Private mMaxHours As Double
Private mUnitText As String
Private mSettingText As Boolean

Public Property Get Hours() As Double
Attribute Hours.VB_Description = "Number of hours shown in the box"
Attribute Hours.VB_UserMemId = 0
    Hours = Val(txtHours.Text)
End Property

Public Property Let Hours(ByVal dNew As Double)
    If dNew < 0 Or dNew > mMaxHours Then Err.Raise 380
    mSettingText = True
    txtHours.Text = Format$(dNew, "0.00")
    mSettingText = False
    PropertyChanged "Hours"
End Property

Public Property Get MaxHours() As Double
    MaxHours = mMaxHours
End Property

Public Property Let MaxHours(ByVal dNew As Double)
    mMaxHours = dNew
    PropertyChanged "MaxHours"
End Property

Public Property Get UnitText()
    UnitText = mUnitText
End Property

Public Property Let UnitText(ByVal sNew As String)
    mUnitText = sNew
    lblUnit.Caption = sNew
    UserControl_Resize
    PropertyChanged "UnitText"
End Property

Private Sub UserControl_InitProperties()
    mMaxHours = DEFAULT_MAX
    mUnitText = "hrs"
End Sub

Private Sub UserControl_ReadProperties(PropBag As PropertyBag)
    mMaxHours = PropBag.ReadProperty("MaxHours", DEFAULT_MAX)
    UnitText = PropBag.ReadProperty("UnitText", "hrs")
    txtHours.Text = PropBag.ReadProperty("Hours", "0.00")
End Sub

Private Sub UserControl_WriteProperties(PropBag As PropertyBag)
    PropBag.WriteProperty "MaxHours", mMaxHours, DEFAULT_MAX
    PropBag.WriteProperty "UnitText", mUnitText, "hrs"
    PropBag.WriteProperty "Hours", txtHours.Text, "0.00"
End Sub

Private Sub UserControl_Resize()
    Dim sngTextWidth As Single

    sngTextWidth = UserControl.ScaleWidth - lblUnit.Width - LABEL_GAP
    If sngTextWidth > 0 Then
        txtHours.Move 0, 0, sngTextWidth, UserControl.ScaleHeight
        lblUnit.Move sngTextWidth + LABEL_GAP, (UserControl.ScaleHeight - lblUnit.Height) / 2
    End If
End Sub

Private Sub txtHours_Change()
    If Not mSettingText Then RaiseEvent Change
End Sub

Private Sub txtHours_KeyPress(KeyAscii As Integer)
    ' digits, one separator and backspace only
    Select Case KeyAscii
    Case vbKey0 To vbKey9, vbKeyBack
    Case 46, 44, 58
        If InStr(txtHours.Text, Chr$(KeyAscii)) > 0 Then KeyAscii = 0
    Case Else
        KeyAscii = 0
    End Select
End Sub
