/* The FreeType modules the game in a browser carries: the TrueType driver and what it needs to
 * load and hint the DejaVu fonts, the autofitter, and the anti-aliasing renderer. FreeType is
 * built from the same sources as the Linux build's; the other modules only made the program
 * larger (tools/dev/web.sh gives FreeType this list). */
FT_USE_MODULE( FT_Module_Class, autofit_module_class )
FT_USE_MODULE( FT_Driver_ClassRec, tt_driver_class )
FT_USE_MODULE( FT_Module_Class, psnames_module_class )
FT_USE_MODULE( FT_Module_Class, sfnt_module_class )
FT_USE_MODULE( FT_Renderer_Class, ft_smooth_renderer_class )
